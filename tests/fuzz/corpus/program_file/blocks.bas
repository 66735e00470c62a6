' nested blocks: only the folding words open folds
SUB Main
  FOR i = 1 TO 10
    IF i > 5 THEN
      DO
        i = i + 1
      LOOP UNTIL i > 8
    ELSE
      IF i = 2 THEN PRINT "two"
    END IF
  NEXT i
END SUB

FUNCTION Twice(x)
  IF x = 0 THEN EXIT FUNCTION
  Twice = 2 * x
END FUNCTION
CSUB Blob
  00000000
END CSUB
DEFINEFONT #9
END DEFINEFONT
