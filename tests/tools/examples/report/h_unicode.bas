' Routine names of other scripts: the table sorts them lower-cased
SUB İnce(a)
  LOCAL k
  k = a
END SUB
SUB ince(b)
  PRINT b
END SUB
FUNCTION Äpfel(n)
  Äpfel = n
END FUNCTION
SUB apfel
  x = 1
END SUB
SUB ßeta
  DIM y
  y = 2
END SUB
SUB Zebra
  z = 3
END SUB
İnce 1
ince 2
PRINT Äpfel(3)
