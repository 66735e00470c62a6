' numbers in every form
x = 42 + 3.25 + .5 + 1.5E3 + 2e10
y = &HFF + &hff + &O17 + &o17 + &B1010 + &1F
z = 1E-5 : w = 1.2.3 : v = 12abc
q = . + & + &G + &HH + 7.
