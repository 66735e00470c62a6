'target kw\ATTiny
10 REM numbered lines
20 FOR I = 1 TO 5
30 PRINT I
40 NEXT I
50 GOSUB 100
60 GOTO 10
100 RETURN
