I1frequency=
D1Curve=abc
noiseSize=7
D1RoundEdge=3
gradient1=alpine.bmp
gradient2=nowhere.bmp
