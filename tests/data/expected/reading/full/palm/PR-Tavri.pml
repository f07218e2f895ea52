\vTITLE=" The <Reach> "\v
\c
\x\BCONTENTS\B\x
\c
\Q="contents"
\q="#Aldric"\BAldric\B\q
\q="#28"\B!\B\q
\q="#Star"\B*Star\B\q
\q="#etc"\B/etc\B\q
\q="#Wyrm"\B\Ud83d\Udc09 Wyrm\B\q
\q="#7thLegion"\B7th Legion\B\q
\q="#9Lives"\B9 Lives\B\q
\q="#AlBar"\BAl Bar\B\q
\q="#AlBar27"\BAl-Bar\B\q
\q="#apple"\Bapple\B\q
\q="#rbol"\Bárbol\B\q
\q="#rzteGuild"\BÄrzte Guild\B\q
\q="#Atlas"\BAtlas\B\q
\q="#Avalon"\BAvalon\B\q
\q="#Bear"\BBear\B\q
\q="#Birch"\BBirch\B\q
\q="#BraceMaker"\BBrace Maker\B\q
\q="#Crow"\BCrow\B\q
\q="#DaratheFox"\BDara "the Fox" Ó\B\q
\q="#Dove"\BDove\B\q
\q="#Eagle"\BEagle\B\q
\q="#clair"\BÉclair \U2603\B\q
\q="#lan"\BÉlan\B\q
\q="#Emu"\BEmu\B\q
\q="#ukasz"\B\U0141ukasz \U017bó\U0142\U0107\B\q
\q="#Soup"\BSoup\B\q
\q="#Wanderer"\BWanderer\B\q
\q="#Zeno"\BZeno\B\q
\q="#zeno"\Bzeno\B\q
\q="#13"\B\U0395\U03bb\U03ad\U03bd\U03b7\B\q
\q="#megaCircle"\B\U03a9mega Circle\B\q
\q="#7"\B\U674e\U5c0f\U9f8d\B\q
\c
\x\BAldric\B\x
\c
\Q="Aldric"
Race/Location: Human
Date: 1021 AR

The smith
\w="50%"
Line one
The bold smith
Line three

\q="#contents"\BContents\B\q
\c
\x\B!\B\x
\c
\Q="28"
Race/Location: Here
Date: 

Bang

\q="#contents"\BContents\B\q
\c
\x\B*Star\B\x
\c
\Q="Star"
Race/Location: ../Sea:*?<>|"\\
Date: 

Glob

\q="#contents"\BContents\B\q
\c
\x\B/etc\B\x
\c
\Q="etc"
Race/Location: a/b
Date: 

Path

\q="#contents"\BContents\B\q
\c
\x\B\Ud83d\Udc09 Wyrm\B\x
\c
\Q="Wyrm"
Race/Location: -Exiles
Date: 

A race/location starting with a dash

\q="#contents"\BContents\B\q
\c
\x\B7th Legion\B\x
\c
\Q="7thLegion"
Race/Location: orc-lands
Date: Winter 1190

Numbered army < 8th

\q="#contents"\BContents\B\q
\c
\x\B9 Lives\B\x
\c
\Q="9Lives"
Race/Location: High-Elves
Date: 

Cat
\w="50%"
bold text

\q="#contents"\BContents\B\q
\c
\x\BAl Bar\B\x
\c
\Q="AlBar"
Race/Location: Here
Date: 

Someone

\q="#contents"\BContents\B\q
\c
\x\BAl-Bar\B\x
\c
\Q="AlBar27"
Race/Location: Here
Date: 

Someone

\q="#contents"\BContents\B\q
\c
\x\Bapple\B\x
\c
\Q="apple"
Race/Location: Elf
Date: 1066

Red fruit
\w="50%"
One
Two
Three

\q="#contents"\BContents\B\q
\c
\x\Bárbol\B\x
\c
\Q="rbol"
Race/Location: \U0395\U03bb\U03bb\U03ac\U03c2
Date: 

Lower-case accented initial

\q="#contents"\BContents\B\q
\c
\x\BÄrzte Guild\B\x
\c
\Q="rzteGuild"
Race/Location: \U9999\U6e2f
Date: 1206

Healers' guild (Ä initial)
\w="50%"
Emoji \Ud83d\Udc09 dragon

\q="#contents"\BContents\B\q
\c
\x\BAtlas\B\x
\c
\Q="Atlas"
Race/Location: Here
Date: 

Maps
\w="50%"


\q="#contents"\BContents\B\q
\c
\x\BAvalon\B\x
\c
\Q="Avalon"
Race/Location: elf
Date: été

Isle

\q="#contents"\BContents\B\q
\c
\x\BBear\B\x
\c
\Q="Bear"
Race/Location: High Elves
Date: 5

Big
and brown
\w="50%"
Fur

\q="#contents"\BContents\B\q
\c
\x\BBirch\B\x
\c
\Q="Birch"
Race/Location: Elf
Date: 

Tree

\q="#contents"\BContents\B\q
\c
\x\BBrace Maker\B\x
\c
\Q="BraceMaker"
Race/Location: OrcLands
Date: 1205 AR

Writes {braces} and C:\\temp\\new
\w="50%"
Path C:\\temp\\new and {x}

\q="#contents"\BContents\B\q
\c
\x\BCrow\B\x
\c
\Q="Crow"
Race/Location: 
Date: 

Bird

\q="#contents"\BContents\B\q
\c
\x\BDara "the Fox" Ó\B\x
\c
\Q="DaratheFox"
Race/Location: \U0395\U03bb\U03bb\U03ac\U03b4\U03b1
Date: spring

A thief with a "name"
\w="50%"
Quote " in notes & more

\q="#contents"\BContents\B\q
\c
\x\BDove\B\x
\c
\Q="Dove"
Race/Location: D
Date: 1

White
\w="50%"
Peace

\q="#contents"\BContents\B\q
\c
\x\BEagle\B\x
\c
\Q="Eagle"
Race/Location: Orc-Lands
Date: 1201 AR

A scout of the high passes
\w="50%"
Flies with Élan: see Élan and itself.
unclosed

\q="#contents"\BContents\B\q
\c
\x\BÉclair \U2603\B\x
\c
\Q="clair"
Race/Location: Café
Date: 

Pastry \Ud83d\Ude00
\w="50%"
Crème

\q="#contents"\BContents\B\q
\c
\x\BÉlan\B\x
\c
\Q="lan"
Race/Location: \U0395\U03bb\U03bb\U03ac\U03b4\U03b1
Date: 1202 AR

Dancer & duellist, "quick"
\w="50%"
Salt & iron; café été owner.
Second line in italics. Owes Eagle; see a lost entry.

\q="#contents"\BContents\B\q
\c
\x\BEmu\B\x
\c
\Q="Emu"
Race/Location: OrcLands
Date: 

Not a bird
at all

\q="#contents"\BContents\B\q
\c
\x\B\U0141ukasz \U017bó\U0142\U0107\B\x
\c
\Q="ukasz"
Race/Location: Orc-Lands
Date: 1204 AR

Polish-born smith
\w="50%"
Za\U017có\U0142\U0107 g\U0119\U015bl\U0105 ja\U017a\U0144.

\q="#contents"\BContents\B\q
\c
\x\BSoup\B\x
\c
\Q="Soup"
Race/Location: Here
Date: 

Notes of every kind
\w="50%"
bold
line two  end & café
para

x

a
bHialert(1)!
three x1wordsif (a abc not an entry link me lost one a  b

\q="#contents"\BContents\B\q
\c
\x\BWanderer\B\x
\c
\Q="Wanderer"
Race/Location: 
Date: 

No home \Ud83d\Udc09

\q="#contents"\BContents\B\q
\c
\x\BZeno\B\x
\c
\Q="Zeno"
Race/Location: Orc-Lands
Date: 1207 AR

Last of the Latin letters
\w="50%"
unclosed bold

\q="#contents"\BContents\B\q
\c
\x\Bzeno\B\x
\c
\Q="zeno"
Race/Location: orc-lands
Date: 

Lower-case twin
\w="50%"
twin

\q="#contents"\BContents\B\q
\c
\x\B\U0395\U03bb\U03ad\U03bd\U03b7\B\x
\c
\Q="13"
Race/Location: \U0395\U03bb\U03bb\U03ac\U03b4\U03b1
Date: 1208

Greek initial Epsilon
\w="50%"
Links to a lost entry

\q="#contents"\BContents\B\q
\c
\x\B\U03a9mega Circle\B\x
\c
\Q="megaCircle"
Race/Location: \U0395\U03bb\U03bb\U03ac\U03c2
Date: \U1f1c\U03c4\U03bf\U03c2 3

Greek secret society
\w="50%"
\U039e\U03ad\U03bd\U03bf\U03c2 & \U03c6\U03af\U03bb\U03bf\U03c2: Eagle

\q="#contents"\BContents\B\q
\c
\x\B\U674e\U5c0f\U9f8d\B\x
\c
\Q="7"
Race/Location: \U9999\U6e2f
Date: 1940

Martial artist \U6b66\U8853\U5bb6
\w="50%"
\U9999\U6e2f <\U4e5d\U9f8d> notes

\q="#contents"\BContents\B\q
