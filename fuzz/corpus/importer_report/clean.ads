CN HXDataExchange import of adis.ads
CN Started
CN Records: 3 read, 3 imported, 0 not imported; 0 errors, 0 warnings.
ZN
