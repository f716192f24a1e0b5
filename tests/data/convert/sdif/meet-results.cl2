A0 V3      02                              TestSoft            1.0
B1         Spring Open                                                               Springfield                     USA 0611200806122008
C1         PVALPHAlpha Swim Club                                                                                                           USA       X
D0         Miller, Anna                                03151996  F  10011   111206122008 1:03.00S 1:02.00S          1:01.00S          3  2
D3123456789ABCDE
G0             Miller, Anna                            1 2  50C   29.00 1:01.00                                                                F
D0         Miller, Anna                                03151996  F  20022   111206122008                            2:20.00S             1
D0         Miller, Anna                                03151996  F  10033   111206122008          1:15.00S               DQS          5
D0         Brown Tom                                   01012000  M 150014   UN1006012008                           16:00.00L             1
G0             Brown Tom                               130  50C   30.00   31.00   32.00   33.00   34.00   35.00   36.00   37.00   38.00   39.00F
G0             Brown Tom                               230  50C 5:10.00 5:11.00 5:12.00 5:13.00 5:14.00 5:15.00 5:16.00 5:17.00 5:18.00 5:19.00F
D0         Brown Tom                                   01012000  M   5015   UNOV06112008            20.00L
E0         AALPH    F 40066   UNOV16006122008                            4:00.00S             1
F0             ALPH  AMiller, Anna                               03151996  F  1
F0             ALPH  ASmith, Eve                                 02021995  F  2
F0             ALPH  AJones, Ann                                 04041994  F  3
G0             Jones, Ann                              1 2  50C 2:30.00 2:59.00                                                                F
F0             ALPH  AClark, Joy                                 05051993  F  4
E0         BALPH    M 20067   1112   06122008                                 DQS
C1         PVBETABeta Aquatics                                                                                                             USA
D0         Miller, Anna                                03151996  F  10011   111206122008          1:04.00S                            7
Z0
