var TAVRI_INDEX = {"groups": [],
"id": [],
"group": [],
"name": [],
"date": [],
"desc": []};
