\vTITLE="Dash Page Tavri"\v
\BDash: \BQuick
\c
\x\B&\B\x
\c
\B&Co: \BFirm
\c
\x\BOrcs\B\x
\c
\BGrub: \BCook
