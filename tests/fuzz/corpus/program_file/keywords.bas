' keywords in any case, words without a record, a UTF-8 word
PRINT print Print pRiNt
GOTO 100 : gosub Label
unknown 12abc a.b x1
wörd Übel
