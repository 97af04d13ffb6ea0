fN errok=1
fN init=1
fN errexit=1
fN zero=1
fN trigger=1
DH00000000000000080
VH000000DD      
DN00000000900080150
VN000000DE01           
ZN
