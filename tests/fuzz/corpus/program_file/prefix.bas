' the end, exit and loop prefixes
end sub
sub Outer
  exit sub
  loop sub
end sub
function f : end function
sub a : sub b
end sub : end sub
sub Inner
  end if : sub x
end sub
