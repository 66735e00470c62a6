'target kw\ARMmite
' ARMmite: the same core language, no PIO
DIM FLOAT t = 1.5E2
FUNCTION Half(x)
  Half = x / 2
END FUNCTION
SELECT CASE Half(t)
  CASE IS > 50
    PRINT "big"
  CASE ELSE
    PRINT "small"
END SELECT
PIO START 0
