' options: labels=0 comments=3 tabsize=4 spaces=0
SUB Blink(pin)
DO
	' toggle	the pin
PIN(pin) = 1 - PIN(pin)
PRINT "tab	here"
PAUSE 500
LOOP
END SUB

DO
IF a THEN
DO
IF b THEN
FOR i = 1 TO 3
FOR j = 1 TO 3
WHILE k
DO
SELECT CASE x
CASE 1
PRINT "deep"
END SELECT
LOOP
WEND
NEXT j, i
END IF
LOOP
END IF
LOOP
