\vTITLE=" The <Reach>  Page Tavri"\v
\c
\x\B\B\x
\c
\BCrow: \BBird
\c
\x\B  \B\x
\c
\BWanderer: \BNo home \Ud83d\Udc09
\c
\x\B Human \B\x
\c
\B  Aldric  : \B The smith 
\c
\x\B-Exiles\B\x
\c
\B\Ud83d\Udc09 Wyrm: \BA race/location starting with a dash
\c
\x\B../Sea:*?<>|"\\\B\x
\c
\B*Star: \BGlob
\c
\x\Ba/b\B\x
\c
\B/etc: \BPath
\c
\x\BCafé\B\x
\c
\BÉclair \U2603: \BPastry \Ud83d\Ude00
\c
\x\BD\B\x
\c
\BDove: \BWhite
\c
\x\BElf\B\x
\c
\Bapple: \BRed fruit
\c
\x\Belf\B\x
\c
\BAvalon: \BIsle
\c
\x\BElf\B\x
\c
\BBirch: \BTree
\c
\x\BHere\B\x
\c
\B!: \BBang
\BAl Bar: \BSomeone
\BAl-Bar: \BSomeone
\BAtlas: \BMaps
\BSoup: \BNotes of every kind
\c
\x\BHigh Elves\B\x
\c
\BBear: \BBig
and brown
\c
\x\BHigh-Elves\B\x
\c
\B9 Lives: \BCat
\c
\x\Borc-lands\B\x
\c
\B7th Legion: \BNumbered army < 8th
\c
\x\BOrc-Lands\B\x
\c
\BEagle: \BA scout of the high passes
\B\U0141ukasz \U017bó\U0142\U0107: \BPolish-born smith
\BZeno: \BLast of the Latin letters
\c
\x\Borc-lands\B\x
\c
\Bzeno: \BLower-case twin
\c
\x\BOrcLands\B\x
\c
\BBrace Maker: \BWrites {braces} and C:\\temp\\new
\BEmu: \BNot a bird
at all
\c
\x\B\U0395\U03bb\U03bb\U03ac\U03b4\U03b1\B\x
\c
\BDara "the Fox" Ó: \BA thief with a "name"
\BÉlan: \BDancer & duellist, "quick"
\B\U0395\U03bb\U03ad\U03bd\U03b7: \BGreek initial Epsilon
\c
\x\B\U0395\U03bb\U03bb\U03ac\U03c2\B\x
\c
\Bárbol: \BLower-case accented initial
\B\U03a9mega Circle: \BGreek secret society
\c
\x\B\U9999\U6e2f\B\x
\c
\BÄrzte Guild: \BHealers' guild (Ä initial)
\B\U674e\U5c0f\U9f8d: \BMartial artist \U6b66\U8853\U5bb6
