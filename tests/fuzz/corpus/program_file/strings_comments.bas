' strings and comments
PRINT "hello, world" ; "a 'quoted' word"
PRINT "unclosed string, sub inside
x = 1 ' a comment with "quotes" and sub
' sub in a comment opens nothing
REM is not a comment opener
PRINT ""
