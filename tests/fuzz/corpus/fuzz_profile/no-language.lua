WorkDirectory = "/home/player/halvane"
