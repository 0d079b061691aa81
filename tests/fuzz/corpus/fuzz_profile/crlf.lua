Language = JP
WorkDirectory = "D:\HALVANE"
