Language = EN
WorkDirectory = {
