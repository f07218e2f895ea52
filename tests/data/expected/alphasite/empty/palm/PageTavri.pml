\vTITLE="Empty Page Tavri"\v
