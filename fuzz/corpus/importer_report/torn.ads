CN a
CN b
CN Records: 1 read
CE Error in line 2
CI x
