/* a
 b */
// c
x=1.5E-3 ' a comment that is long enough to be wrapped somewhere past the column
	CLS  : PRINT
'$INCLUDE: x
