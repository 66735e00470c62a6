' user variables (5) and user subs, functions and labels (6)
counter = COUNTER + 1 : total$ = "x" : ratio! = 0.5
MySub counter, total$
PRINT Area(2) + area(3)
DoThing : dothing2
