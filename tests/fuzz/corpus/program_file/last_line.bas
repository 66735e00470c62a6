' the last line has no line end
sub Open_at_end
  print "still inside"