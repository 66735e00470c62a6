'target picomite
#INCLUDE "a.inc"
  A = 1 : PRINT "x ' y" ' c
SUB S(n)
  CASE IS > 5
END SUB
