x =
