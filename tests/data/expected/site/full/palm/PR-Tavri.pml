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
\q="#Soldier000"\BSoldier 000\B\q
\q="#Soldier001"\BSoldier 001\B\q
\q="#Soldier002"\BSoldier 002\B\q
\q="#Soldier003"\BSoldier 003\B\q
\q="#Soldier004"\BSoldier 004\B\q
\q="#Soldier005"\BSoldier 005\B\q
\q="#Soldier006"\BSoldier 006\B\q
\q="#Soldier007"\BSoldier 007\B\q
\q="#Soldier008"\BSoldier 008\B\q
\q="#Soldier009"\BSoldier 009\B\q
\q="#Soldier010"\BSoldier 010\B\q
\q="#Soldier011"\BSoldier 011\B\q
\q="#Soldier012"\BSoldier 012\B\q
\q="#Soldier013"\BSoldier 013\B\q
\q="#Soldier014"\BSoldier 014\B\q
\q="#Soldier015"\BSoldier 015\B\q
\q="#Soldier016"\BSoldier 016\B\q
\q="#Soldier017"\BSoldier 017\B\q
\q="#Soldier018"\BSoldier 018\B\q
\q="#Soldier019"\BSoldier 019\B\q
\q="#Soldier020"\BSoldier 020\B\q
\q="#Soldier021"\BSoldier 021\B\q
\q="#Soldier022"\BSoldier 022\B\q
\q="#Soldier023"\BSoldier 023\B\q
\q="#Soldier024"\BSoldier 024\B\q
\q="#Soldier025"\BSoldier 025\B\q
\q="#Soldier026"\BSoldier 026\B\q
\q="#Soldier027"\BSoldier 027\B\q
\q="#Soldier028"\BSoldier 028\B\q
\q="#Soldier029"\BSoldier 029\B\q
\q="#Soldier030"\BSoldier 030\B\q
\q="#Soldier031"\BSoldier 031\B\q
\q="#Soldier032"\BSoldier 032\B\q
\q="#Soldier033"\BSoldier 033\B\q
\q="#Soldier034"\BSoldier 034\B\q
\q="#Soldier035"\BSoldier 035\B\q
\q="#Soldier036"\BSoldier 036\B\q
\q="#Soldier037"\BSoldier 037\B\q
\q="#Soldier038"\BSoldier 038\B\q
\q="#Soldier039"\BSoldier 039\B\q
\q="#Soldier040"\BSoldier 040\B\q
\q="#Soldier041"\BSoldier 041\B\q
\q="#Soldier042"\BSoldier 042\B\q
\q="#Soldier043"\BSoldier 043\B\q
\q="#Soldier044"\BSoldier 044\B\q
\q="#Soldier045"\BSoldier 045\B\q
\q="#Soldier046"\BSoldier 046\B\q
\q="#Soldier047"\BSoldier 047\B\q
\q="#Soldier048"\BSoldier 048\B\q
\q="#Soldier049"\BSoldier 049\B\q
\q="#Soldier050"\BSoldier 050\B\q
\q="#Soldier051"\BSoldier 051\B\q
\q="#Soldier052"\BSoldier 052\B\q
\q="#Soldier053"\BSoldier 053\B\q
\q="#Soldier054"\BSoldier 054\B\q
\q="#Soldier055"\BSoldier 055\B\q
\q="#Soldier056"\BSoldier 056\B\q
\q="#Soldier057"\BSoldier 057\B\q
\q="#Soldier058"\BSoldier 058\B\q
\q="#Soldier059"\BSoldier 059\B\q
\q="#Soldier060"\BSoldier 060\B\q
\q="#Soldier061"\BSoldier 061\B\q
\q="#Soldier062"\BSoldier 062\B\q
\q="#Soldier063"\BSoldier 063\B\q
\q="#Soldier064"\BSoldier 064\B\q
\q="#Soldier065"\BSoldier 065\B\q
\q="#Soldier066"\BSoldier 066\B\q
\q="#Soldier067"\BSoldier 067\B\q
\q="#Soldier068"\BSoldier 068\B\q
\q="#Soldier069"\BSoldier 069\B\q
\q="#Soldier070"\BSoldier 070\B\q
\q="#Soldier071"\BSoldier 071\B\q
\q="#Soldier072"\BSoldier 072\B\q
\q="#Soldier073"\BSoldier 073\B\q
\q="#Soldier074"\BSoldier 074\B\q
\q="#Soldier075"\BSoldier 075\B\q
\q="#Soldier076"\BSoldier 076\B\q
\q="#Soldier077"\BSoldier 077\B\q
\q="#Soldier078"\BSoldier 078\B\q
\q="#Soldier079"\BSoldier 079\B\q
\q="#Soldier080"\BSoldier 080\B\q
\q="#Soldier081"\BSoldier 081\B\q
\q="#Soldier082"\BSoldier 082\B\q
\q="#Soldier083"\BSoldier 083\B\q
\q="#Soldier084"\BSoldier 084\B\q
\q="#Soldier085"\BSoldier 085\B\q
\q="#Soldier086"\BSoldier 086\B\q
\q="#Soldier087"\BSoldier 087\B\q
\q="#Soldier088"\BSoldier 088\B\q
\q="#Soldier089"\BSoldier 089\B\q
\q="#Soldier090"\BSoldier 090\B\q
\q="#Soldier091"\BSoldier 091\B\q
\q="#Soldier092"\BSoldier 092\B\q
\q="#Soldier093"\BSoldier 093\B\q
\q="#Soldier094"\BSoldier 094\B\q
\q="#Soldier095"\BSoldier 095\B\q
\q="#Soldier096"\BSoldier 096\B\q
\q="#Soldier097"\BSoldier 097\B\q
\q="#Soldier098"\BSoldier 098\B\q
\q="#Soldier099"\BSoldier 099\B\q
\q="#Soldier100"\BSoldier 100\B\q
\q="#Soldier101"\BSoldier 101\B\q
\q="#Soldier102"\BSoldier 102\B\q
\q="#Soldier103"\BSoldier 103\B\q
\q="#Soldier104"\BSoldier 104\B\q
\q="#Soldier105"\BSoldier 105\B\q
\q="#Soldier106"\BSoldier 106\B\q
\q="#Soldier107"\BSoldier 107\B\q
\q="#Soldier108"\BSoldier 108\B\q
\q="#Soldier109"\BSoldier 109\B\q
\q="#Soldier110"\BSoldier 110\B\q
\q="#Soldier111"\BSoldier 111\B\q
\q="#Soldier112"\BSoldier 112\B\q
\q="#Soldier113"\BSoldier 113\B\q
\q="#Soldier114"\BSoldier 114\B\q
\q="#Soldier115"\BSoldier 115\B\q
\q="#Soldier116"\BSoldier 116\B\q
\q="#Soldier117"\BSoldier 117\B\q
\q="#Soldier118"\BSoldier 118\B\q
\q="#Soldier119"\BSoldier 119\B\q
\q="#Soldier120"\BSoldier 120\B\q
\q="#Soldier121"\BSoldier 121\B\q
\q="#Soldier122"\BSoldier 122\B\q
\q="#Soldier123"\BSoldier 123\B\q
\q="#Soldier124"\BSoldier 124\B\q
\q="#Soldier125"\BSoldier 125\B\q
\q="#Soldier126"\BSoldier 126\B\q
\q="#Soldier127"\BSoldier 127\B\q
\q="#Soldier128"\BSoldier 128\B\q
\q="#Soldier129"\BSoldier 129\B\q
\q="#Soldier130"\BSoldier 130\B\q
\q="#Soldier131"\BSoldier 131\B\q
\q="#Soldier132"\BSoldier 132\B\q
\q="#Soldier133"\BSoldier 133\B\q
\q="#Soldier134"\BSoldier 134\B\q
\q="#Soldier135"\BSoldier 135\B\q
\q="#Soldier136"\BSoldier 136\B\q
\q="#Soldier137"\BSoldier 137\B\q
\q="#Soldier138"\BSoldier 138\B\q
\q="#Soldier139"\BSoldier 139\B\q
\q="#Soldier140"\BSoldier 140\B\q
\q="#Soldier141"\BSoldier 141\B\q
\q="#Soldier142"\BSoldier 142\B\q
\q="#Soldier143"\BSoldier 143\B\q
\q="#Soldier144"\BSoldier 144\B\q
\q="#Soldier145"\BSoldier 145\B\q
\q="#Soldier146"\BSoldier 146\B\q
\q="#Soldier147"\BSoldier 147\B\q
\q="#Soldier148"\BSoldier 148\B\q
\q="#Soldier149"\BSoldier 149\B\q
\q="#Soldier150"\BSoldier 150\B\q
\q="#Soldier151"\BSoldier 151\B\q
\q="#Soldier152"\BSoldier 152\B\q
\q="#Soldier153"\BSoldier 153\B\q
\q="#Soldier154"\BSoldier 154\B\q
\q="#Soldier155"\BSoldier 155\B\q
\q="#Soldier156"\BSoldier 156\B\q
\q="#Soldier157"\BSoldier 157\B\q
\q="#Soldier158"\BSoldier 158\B\q
\q="#Soldier159"\BSoldier 159\B\q
\q="#Soldier160"\BSoldier 160\B\q
\q="#Soldier161"\BSoldier 161\B\q
\q="#Soldier162"\BSoldier 162\B\q
\q="#Soldier163"\BSoldier 163\B\q
\q="#Soldier164"\BSoldier 164\B\q
\q="#Soldier165"\BSoldier 165\B\q
\q="#Soldier166"\BSoldier 166\B\q
\q="#Soldier167"\BSoldier 167\B\q
\q="#Soldier168"\BSoldier 168\B\q
\q="#Soldier169"\BSoldier 169\B\q
\q="#Soldier170"\BSoldier 170\B\q
\q="#Soldier171"\BSoldier 171\B\q
\q="#Soldier172"\BSoldier 172\B\q
\q="#Soldier173"\BSoldier 173\B\q
\q="#Soldier174"\BSoldier 174\B\q
\q="#Soldier175"\BSoldier 175\B\q
\q="#Soldier176"\BSoldier 176\B\q
\q="#Soldier177"\BSoldier 177\B\q
\q="#Soldier178"\BSoldier 178\B\q
\q="#Soldier179"\BSoldier 179\B\q
\q="#Soldier180"\BSoldier 180\B\q
\q="#Soldier181"\BSoldier 181\B\q
\q="#Soldier182"\BSoldier 182\B\q
\q="#Soldier183"\BSoldier 183\B\q
\q="#Soldier184"\BSoldier 184\B\q
\q="#Soldier185"\BSoldier 185\B\q
\q="#Soldier186"\BSoldier 186\B\q
\q="#Soldier187"\BSoldier 187\B\q
\q="#Soldier188"\BSoldier 188\B\q
\q="#Soldier189"\BSoldier 189\B\q
\q="#Soldier190"\BSoldier 190\B\q
\q="#Soldier191"\BSoldier 191\B\q
\q="#Soldier192"\BSoldier 192\B\q
\q="#Soldier193"\BSoldier 193\B\q
\q="#Soldier194"\BSoldier 194\B\q
\q="#Soldier195"\BSoldier 195\B\q
\q="#Soldier196"\BSoldier 196\B\q
\q="#Soldier197"\BSoldier 197\B\q
\q="#Soldier198"\BSoldier 198\B\q
\q="#Soldier199"\BSoldier 199\B\q
\q="#Soldier200"\BSoldier 200\B\q
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
\x\BSoldier 000\B\x
\c
\Q="Soldier000"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 001\B\x
\c
\Q="Soldier001"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 002\B\x
\c
\Q="Soldier002"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 003\B\x
\c
\Q="Soldier003"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 004\B\x
\c
\Q="Soldier004"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 005\B\x
\c
\Q="Soldier005"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 006\B\x
\c
\Q="Soldier006"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 007\B\x
\c
\Q="Soldier007"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 008\B\x
\c
\Q="Soldier008"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 009\B\x
\c
\Q="Soldier009"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 010\B\x
\c
\Q="Soldier010"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 011\B\x
\c
\Q="Soldier011"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 012\B\x
\c
\Q="Soldier012"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 013\B\x
\c
\Q="Soldier013"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 014\B\x
\c
\Q="Soldier014"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 015\B\x
\c
\Q="Soldier015"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 016\B\x
\c
\Q="Soldier016"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 017\B\x
\c
\Q="Soldier017"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 018\B\x
\c
\Q="Soldier018"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 019\B\x
\c
\Q="Soldier019"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 020\B\x
\c
\Q="Soldier020"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 021\B\x
\c
\Q="Soldier021"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 022\B\x
\c
\Q="Soldier022"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 023\B\x
\c
\Q="Soldier023"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 024\B\x
\c
\Q="Soldier024"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 025\B\x
\c
\Q="Soldier025"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 026\B\x
\c
\Q="Soldier026"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 027\B\x
\c
\Q="Soldier027"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 028\B\x
\c
\Q="Soldier028"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 029\B\x
\c
\Q="Soldier029"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 030\B\x
\c
\Q="Soldier030"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 031\B\x
\c
\Q="Soldier031"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 032\B\x
\c
\Q="Soldier032"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 033\B\x
\c
\Q="Soldier033"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 034\B\x
\c
\Q="Soldier034"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 035\B\x
\c
\Q="Soldier035"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 036\B\x
\c
\Q="Soldier036"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 037\B\x
\c
\Q="Soldier037"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 038\B\x
\c
\Q="Soldier038"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 039\B\x
\c
\Q="Soldier039"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 040\B\x
\c
\Q="Soldier040"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 041\B\x
\c
\Q="Soldier041"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 042\B\x
\c
\Q="Soldier042"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 043\B\x
\c
\Q="Soldier043"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 044\B\x
\c
\Q="Soldier044"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 045\B\x
\c
\Q="Soldier045"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 046\B\x
\c
\Q="Soldier046"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 047\B\x
\c
\Q="Soldier047"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 048\B\x
\c
\Q="Soldier048"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 049\B\x
\c
\Q="Soldier049"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 050\B\x
\c
\Q="Soldier050"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 051\B\x
\c
\Q="Soldier051"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 052\B\x
\c
\Q="Soldier052"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 053\B\x
\c
\Q="Soldier053"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 054\B\x
\c
\Q="Soldier054"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 055\B\x
\c
\Q="Soldier055"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 056\B\x
\c
\Q="Soldier056"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 057\B\x
\c
\Q="Soldier057"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 058\B\x
\c
\Q="Soldier058"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 059\B\x
\c
\Q="Soldier059"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 060\B\x
\c
\Q="Soldier060"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 061\B\x
\c
\Q="Soldier061"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 062\B\x
\c
\Q="Soldier062"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 063\B\x
\c
\Q="Soldier063"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 064\B\x
\c
\Q="Soldier064"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 065\B\x
\c
\Q="Soldier065"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 066\B\x
\c
\Q="Soldier066"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 067\B\x
\c
\Q="Soldier067"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 068\B\x
\c
\Q="Soldier068"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 069\B\x
\c
\Q="Soldier069"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 070\B\x
\c
\Q="Soldier070"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 071\B\x
\c
\Q="Soldier071"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 072\B\x
\c
\Q="Soldier072"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 073\B\x
\c
\Q="Soldier073"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 074\B\x
\c
\Q="Soldier074"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 075\B\x
\c
\Q="Soldier075"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 076\B\x
\c
\Q="Soldier076"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 077\B\x
\c
\Q="Soldier077"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 078\B\x
\c
\Q="Soldier078"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 079\B\x
\c
\Q="Soldier079"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 080\B\x
\c
\Q="Soldier080"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 081\B\x
\c
\Q="Soldier081"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 082\B\x
\c
\Q="Soldier082"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 083\B\x
\c
\Q="Soldier083"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 084\B\x
\c
\Q="Soldier084"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 085\B\x
\c
\Q="Soldier085"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 086\B\x
\c
\Q="Soldier086"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 087\B\x
\c
\Q="Soldier087"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 088\B\x
\c
\Q="Soldier088"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 089\B\x
\c
\Q="Soldier089"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 090\B\x
\c
\Q="Soldier090"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 091\B\x
\c
\Q="Soldier091"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 092\B\x
\c
\Q="Soldier092"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 093\B\x
\c
\Q="Soldier093"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 094\B\x
\c
\Q="Soldier094"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 095\B\x
\c
\Q="Soldier095"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 096\B\x
\c
\Q="Soldier096"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 097\B\x
\c
\Q="Soldier097"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 098\B\x
\c
\Q="Soldier098"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 099\B\x
\c
\Q="Soldier099"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 100\B\x
\c
\Q="Soldier100"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 101\B\x
\c
\Q="Soldier101"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 102\B\x
\c
\Q="Soldier102"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 103\B\x
\c
\Q="Soldier103"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 104\B\x
\c
\Q="Soldier104"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 105\B\x
\c
\Q="Soldier105"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 106\B\x
\c
\Q="Soldier106"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 107\B\x
\c
\Q="Soldier107"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 108\B\x
\c
\Q="Soldier108"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 109\B\x
\c
\Q="Soldier109"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 110\B\x
\c
\Q="Soldier110"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 111\B\x
\c
\Q="Soldier111"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 112\B\x
\c
\Q="Soldier112"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 113\B\x
\c
\Q="Soldier113"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 114\B\x
\c
\Q="Soldier114"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 115\B\x
\c
\Q="Soldier115"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 116\B\x
\c
\Q="Soldier116"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 117\B\x
\c
\Q="Soldier117"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 118\B\x
\c
\Q="Soldier118"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 119\B\x
\c
\Q="Soldier119"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 120\B\x
\c
\Q="Soldier120"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 121\B\x
\c
\Q="Soldier121"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 122\B\x
\c
\Q="Soldier122"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 123\B\x
\c
\Q="Soldier123"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 124\B\x
\c
\Q="Soldier124"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 125\B\x
\c
\Q="Soldier125"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 126\B\x
\c
\Q="Soldier126"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 127\B\x
\c
\Q="Soldier127"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 128\B\x
\c
\Q="Soldier128"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 129\B\x
\c
\Q="Soldier129"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 130\B\x
\c
\Q="Soldier130"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 131\B\x
\c
\Q="Soldier131"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 132\B\x
\c
\Q="Soldier132"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 133\B\x
\c
\Q="Soldier133"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 134\B\x
\c
\Q="Soldier134"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 135\B\x
\c
\Q="Soldier135"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 136\B\x
\c
\Q="Soldier136"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 137\B\x
\c
\Q="Soldier137"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 138\B\x
\c
\Q="Soldier138"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 139\B\x
\c
\Q="Soldier139"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 140\B\x
\c
\Q="Soldier140"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 141\B\x
\c
\Q="Soldier141"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 142\B\x
\c
\Q="Soldier142"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 143\B\x
\c
\Q="Soldier143"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 144\B\x
\c
\Q="Soldier144"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 145\B\x
\c
\Q="Soldier145"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 146\B\x
\c
\Q="Soldier146"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 147\B\x
\c
\Q="Soldier147"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 148\B\x
\c
\Q="Soldier148"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 149\B\x
\c
\Q="Soldier149"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 150\B\x
\c
\Q="Soldier150"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 151\B\x
\c
\Q="Soldier151"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 152\B\x
\c
\Q="Soldier152"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 153\B\x
\c
\Q="Soldier153"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 154\B\x
\c
\Q="Soldier154"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 155\B\x
\c
\Q="Soldier155"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 156\B\x
\c
\Q="Soldier156"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 157\B\x
\c
\Q="Soldier157"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 158\B\x
\c
\Q="Soldier158"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 159\B\x
\c
\Q="Soldier159"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 160\B\x
\c
\Q="Soldier160"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 161\B\x
\c
\Q="Soldier161"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 162\B\x
\c
\Q="Soldier162"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 163\B\x
\c
\Q="Soldier163"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 164\B\x
\c
\Q="Soldier164"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 165\B\x
\c
\Q="Soldier165"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 166\B\x
\c
\Q="Soldier166"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 167\B\x
\c
\Q="Soldier167"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 168\B\x
\c
\Q="Soldier168"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 169\B\x
\c
\Q="Soldier169"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 170\B\x
\c
\Q="Soldier170"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 171\B\x
\c
\Q="Soldier171"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 172\B\x
\c
\Q="Soldier172"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 173\B\x
\c
\Q="Soldier173"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 174\B\x
\c
\Q="Soldier174"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 175\B\x
\c
\Q="Soldier175"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 176\B\x
\c
\Q="Soldier176"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 177\B\x
\c
\Q="Soldier177"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 178\B\x
\c
\Q="Soldier178"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 179\B\x
\c
\Q="Soldier179"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 180\B\x
\c
\Q="Soldier180"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 181\B\x
\c
\Q="Soldier181"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 182\B\x
\c
\Q="Soldier182"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 183\B\x
\c
\Q="Soldier183"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 184\B\x
\c
\Q="Soldier184"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 185\B\x
\c
\Q="Soldier185"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 186\B\x
\c
\Q="Soldier186"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 187\B\x
\c
\Q="Soldier187"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 188\B\x
\c
\Q="Soldier188"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 189\B\x
\c
\Q="Soldier189"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 190\B\x
\c
\Q="Soldier190"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 191\B\x
\c
\Q="Soldier191"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 192\B\x
\c
\Q="Soldier192"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 193\B\x
\c
\Q="Soldier193"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 194\B\x
\c
\Q="Soldier194"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 195\B\x
\c
\Q="Soldier195"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 196\B\x
\c
\Q="Soldier196"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 197\B\x
\c
\Q="Soldier197"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 198\B\x
\c
\Q="Soldier198"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 199\B\x
\c
\Q="Soldier199"
Race/Location: Legion
Date: 

x

\q="#contents"\BContents\B\q
\c
\x\BSoldier 200\B\x
\c
\Q="Soldier200"
Race/Location: Legion
Date: 

x

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
