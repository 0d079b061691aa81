Language = CN
WorkDirectory = "C:\Games\HALVANE WORLD"
