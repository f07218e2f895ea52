\vTITLE="Dash"\v
\c
\x\BCONTENTS\B\x
\c
\Q="contents"
\q="#Co"\B&Co\B\q
\q="#Dash"\BDash\B\q
\q="#Grub"\BGrub\B\q
\c
\x\B&Co\B\x
\c
\Q="Co"
Race/Location: &
Date: 

Firm

\q="#contents"\BContents\B\q
\c
\x\BDash\B\x
\c
\Q="Dash"
Race/Location: -
Date: now

Quick

\q="#contents"\BContents\B\q
\c
\x\BGrub\B\x
\c
\Q="Grub"
Race/Location: Orcs
Date: 

Cook

\q="#contents"\BContents\B\q
