' globals, locals and an undeclared use
DIM count, total
CONST limit = 10

SUB AddUp(n)
  LOCAL i
  FOR i = 1 TO n
    total = total + i
  NEXT i
  count = count + 1
END SUB

FUNCTION Twice(v)
  Twice = v * 2
  i = v
END FUNCTION

main:
AddUp limit
PRINT Twice(total), count
GOTO main
