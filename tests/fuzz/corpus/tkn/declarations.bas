DIM a(10,20), b$ = "x" ' c
SUB Foo(x AS INTEGER, y$)
