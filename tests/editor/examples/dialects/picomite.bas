' a small picomite program
OPTION EXPLICIT
OPTION DEFAULT INTEGER : OPTION BASE 0
#INCLUDE "blink.inc"
#DEFINE "LEDPIN", "GP25"
DIM INTEGER count = 0
CONST LED = 25
SETPIN GP25, DOUT
SUB Blink(times%)
  LOCAL i%
  FOR i% = 1 TO times%
    PIN(LED) = 1 : PAUSE 250
    PIN(LED) = 0 : PAUSE &H0FA
  NEXT i%
END SUB
DO
  Blink 3
  count = count + 1
  IF count > 10 THEN EXIT DO
LOOP
PRINT "done "; count
