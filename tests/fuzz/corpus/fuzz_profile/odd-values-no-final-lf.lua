-- the editor keeps these
local Language = "RU" -- quoted
WorkDirectory = 42
Language = XX
WorkDirectory = "second"