PRINT 12, 0, 0.0, 00, 0.00, .5, &HFF, &B101, &O17, 1e3
OPEN "data.txt" FOR OUTPUT AS #1
PRINT #1, x
CLOSE #1
TEXT MM.HRES, 0, "title", CM
TEXT 0, 0, "x", LT, 1, 2, colour
TOUCH x
GPS lat
a'a name before a comment
PRINT b 'a comment
PRINT"c"d
f(g)=h
