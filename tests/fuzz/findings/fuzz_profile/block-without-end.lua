function f()
