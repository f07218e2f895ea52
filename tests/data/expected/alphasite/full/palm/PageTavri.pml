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
\x\BLegion\B\x
\c
\BSoldier 000: \Bx
\BSoldier 001: \Bx
\BSoldier 002: \Bx
\BSoldier 003: \Bx
\BSoldier 004: \Bx
\BSoldier 005: \Bx
\BSoldier 006: \Bx
\BSoldier 007: \Bx
\BSoldier 008: \Bx
\BSoldier 009: \Bx
\BSoldier 010: \Bx
\BSoldier 011: \Bx
\BSoldier 012: \Bx
\BSoldier 013: \Bx
\BSoldier 014: \Bx
\BSoldier 015: \Bx
\BSoldier 016: \Bx
\BSoldier 017: \Bx
\BSoldier 018: \Bx
\BSoldier 019: \Bx
\BSoldier 020: \Bx
\BSoldier 021: \Bx
\BSoldier 022: \Bx
\BSoldier 023: \Bx
\BSoldier 024: \Bx
\BSoldier 025: \Bx
\BSoldier 026: \Bx
\BSoldier 027: \Bx
\BSoldier 028: \Bx
\BSoldier 029: \Bx
\BSoldier 030: \Bx
\BSoldier 031: \Bx
\BSoldier 032: \Bx
\BSoldier 033: \Bx
\BSoldier 034: \Bx
\BSoldier 035: \Bx
\BSoldier 036: \Bx
\BSoldier 037: \Bx
\BSoldier 038: \Bx
\BSoldier 039: \Bx
\BSoldier 040: \Bx
\BSoldier 041: \Bx
\BSoldier 042: \Bx
\BSoldier 043: \Bx
\BSoldier 044: \Bx
\BSoldier 045: \Bx
\BSoldier 046: \Bx
\BSoldier 047: \Bx
\BSoldier 048: \Bx
\BSoldier 049: \Bx
\BSoldier 050: \Bx
\BSoldier 051: \Bx
\BSoldier 052: \Bx
\BSoldier 053: \Bx
\BSoldier 054: \Bx
\BSoldier 055: \Bx
\BSoldier 056: \Bx
\BSoldier 057: \Bx
\BSoldier 058: \Bx
\BSoldier 059: \Bx
\BSoldier 060: \Bx
\BSoldier 061: \Bx
\BSoldier 062: \Bx
\BSoldier 063: \Bx
\BSoldier 064: \Bx
\BSoldier 065: \Bx
\BSoldier 066: \Bx
\BSoldier 067: \Bx
\BSoldier 068: \Bx
\BSoldier 069: \Bx
\BSoldier 070: \Bx
\BSoldier 071: \Bx
\BSoldier 072: \Bx
\BSoldier 073: \Bx
\BSoldier 074: \Bx
\BSoldier 075: \Bx
\BSoldier 076: \Bx
\BSoldier 077: \Bx
\BSoldier 078: \Bx
\BSoldier 079: \Bx
\BSoldier 080: \Bx
\BSoldier 081: \Bx
\BSoldier 082: \Bx
\BSoldier 083: \Bx
\BSoldier 084: \Bx
\BSoldier 085: \Bx
\BSoldier 086: \Bx
\BSoldier 087: \Bx
\BSoldier 088: \Bx
\BSoldier 089: \Bx
\BSoldier 090: \Bx
\BSoldier 091: \Bx
\BSoldier 092: \Bx
\BSoldier 093: \Bx
\BSoldier 094: \Bx
\BSoldier 095: \Bx
\BSoldier 096: \Bx
\BSoldier 097: \Bx
\BSoldier 098: \Bx
\BSoldier 099: \Bx
\BSoldier 100: \Bx
\BSoldier 101: \Bx
\BSoldier 102: \Bx
\BSoldier 103: \Bx
\BSoldier 104: \Bx
\BSoldier 105: \Bx
\BSoldier 106: \Bx
\BSoldier 107: \Bx
\BSoldier 108: \Bx
\BSoldier 109: \Bx
\BSoldier 110: \Bx
\BSoldier 111: \Bx
\BSoldier 112: \Bx
\BSoldier 113: \Bx
\BSoldier 114: \Bx
\BSoldier 115: \Bx
\BSoldier 116: \Bx
\BSoldier 117: \Bx
\BSoldier 118: \Bx
\BSoldier 119: \Bx
\BSoldier 120: \Bx
\BSoldier 121: \Bx
\BSoldier 122: \Bx
\BSoldier 123: \Bx
\BSoldier 124: \Bx
\BSoldier 125: \Bx
\BSoldier 126: \Bx
\BSoldier 127: \Bx
\BSoldier 128: \Bx
\BSoldier 129: \Bx
\BSoldier 130: \Bx
\BSoldier 131: \Bx
\BSoldier 132: \Bx
\BSoldier 133: \Bx
\BSoldier 134: \Bx
\BSoldier 135: \Bx
\BSoldier 136: \Bx
\BSoldier 137: \Bx
\BSoldier 138: \Bx
\BSoldier 139: \Bx
\BSoldier 140: \Bx
\BSoldier 141: \Bx
\BSoldier 142: \Bx
\BSoldier 143: \Bx
\BSoldier 144: \Bx
\BSoldier 145: \Bx
\BSoldier 146: \Bx
\BSoldier 147: \Bx
\BSoldier 148: \Bx
\BSoldier 149: \Bx
\BSoldier 150: \Bx
\BSoldier 151: \Bx
\BSoldier 152: \Bx
\BSoldier 153: \Bx
\BSoldier 154: \Bx
\BSoldier 155: \Bx
\BSoldier 156: \Bx
\BSoldier 157: \Bx
\BSoldier 158: \Bx
\BSoldier 159: \Bx
\BSoldier 160: \Bx
\BSoldier 161: \Bx
\BSoldier 162: \Bx
\BSoldier 163: \Bx
\BSoldier 164: \Bx
\BSoldier 165: \Bx
\BSoldier 166: \Bx
\BSoldier 167: \Bx
\BSoldier 168: \Bx
\BSoldier 169: \Bx
\BSoldier 170: \Bx
\BSoldier 171: \Bx
\BSoldier 172: \Bx
\BSoldier 173: \Bx
\BSoldier 174: \Bx
\BSoldier 175: \Bx
\BSoldier 176: \Bx
\BSoldier 177: \Bx
\BSoldier 178: \Bx
\BSoldier 179: \Bx
\BSoldier 180: \Bx
\BSoldier 181: \Bx
\BSoldier 182: \Bx
\BSoldier 183: \Bx
\BSoldier 184: \Bx
\BSoldier 185: \Bx
\BSoldier 186: \Bx
\BSoldier 187: \Bx
\BSoldier 188: \Bx
\BSoldier 189: \Bx
\BSoldier 190: \Bx
\BSoldier 191: \Bx
\BSoldier 192: \Bx
\BSoldier 193: \Bx
\BSoldier 194: \Bx
\BSoldier 195: \Bx
\BSoldier 196: \Bx
\BSoldier 197: \Bx
\BSoldier 198: \Bx
\BSoldier 199: \Bx
\BSoldier 200: \Bx
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
