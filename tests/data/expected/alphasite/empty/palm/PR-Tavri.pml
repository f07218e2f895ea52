\vTITLE="Empty"\v
\c
\x\BCONTENTS\B\x
\c
\Q="contents"
