PRINT "line\n", "\&FF", "\123", "ok"
PRINT "bad\x"
PRINT "end\"
PRINT "\&FG"
PRINT "\12"
PRINT (a
PRINT b)
PRINT "open 1
PRINT "open 2
PRINT "open 3
PRINT "open 4
PRINT "open 5
PRINT "open 6
PRINT "open 7
PRINT "open 8
PRINT "open 9
PRINT "open 10
PRINT "open 11
PRINT "open 12
PRINT "open 13
PRINT "open 14
PRINT "open 15
PRINT "open 16
PRINT "open 17
