Language = RU
