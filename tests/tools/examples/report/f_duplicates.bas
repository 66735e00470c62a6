SUB Same(a)
  PRINT a
END SUB
SUB Same(b)
  PRINT b
END SUB
Same 1
DIM aVariableNameOfMoreThanThirtyCharacters = 1
aVariableNameOfMoreThanThirtyCharacters2 = 2
PRINT aVariableNameOfMoreThanThirtyCharacters, aVariableNameOfMoreThanThirtyCharacters2
x = 12
x = 2
