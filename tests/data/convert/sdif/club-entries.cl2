A0 V3      20                              TestSoft            1.0
B1         Club Trial                                                                                                    1228202112282021
C1           CLUBClub Swimmers
D0         Kay, Lia                                    02082007  F   503  1 1314           41.94S
D0         Kay, Lia                                    02082007  F  1001  2 1314              NT
