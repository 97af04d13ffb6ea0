CN HXDataExchange import of adis.ads
CN Started
CN Records: 48 read, 46 imported, 2 not imported; 2 errors, 1 warning.
CE Error in line 9 of the ADIS file (record 5)
CI i
CM m
CS s

CW Further reports left out
CI i
CM m
CS s
ZN
