' strings and comments
PRINT "hello, world" ; "a 'quoted' word"
PRINT "unclosed string, sub inside
x = 1 ' a comment with "quotes" and sub
' sub in a comment opens nothing
REM sub in a remark opens nothing: "quote ' too
rem in any case
x = 2 : Rem after a colon
remaining = REMX + 1
PRINT ""
