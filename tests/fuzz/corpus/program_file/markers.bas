SUB Show(a%) 'FoldHere
  PRINT a% '>>>
END SUB


