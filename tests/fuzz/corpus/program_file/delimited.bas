' delimited tokens: strings and a nesting pair
PRINT [one] ; [a [b] c] ; [x"y]
PRINT [unclosed [twice] still open
x = ["in brackets"] + "[in string]"
