' options: labels=1 comments=1 tabsize=2 spaces=1
' A small clock for the PicoMite
OPTION EXPLICIT
DIM INTEGER h, m, s
CONST title$ = "Clock: "

SUB ShowTime(h, m)
LOCAL t$
t$ = STR$(h) + ":" + STR$(m)
IF h < 12 THEN
PRINT title$; t$; " am"
ELSE
      PRINT title$; t$; " pm"
ENDIF
END SUB

FUNCTION Pad$(n)
   IF n < 10 THEN Pad$ = "0" + STR$(n) ELSE Pad$ = STR$(n)
END FUNCTION

main:
DO
FOR s = 0 TO 59
SELECT CASE s
CASE 0
ShowTime h, m
CASE 30 : PRINT "half: "; s
CASE ELSE
' nothing to show
END SELECT
PAUSE 1000
NEXT s
m = m + 1
IF m = 60 THEN : m = 0 : h = h + 1
END IF
LOOP UNTIL h = 24
GOTO main
