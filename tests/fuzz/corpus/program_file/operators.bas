' operators end words and stand alone
a=b+c-d*e/f\g^h
IF (a<>b) AND c<=d THEN PRINT a,b;c:x
name$(1)=mid$(s$,2,3)
