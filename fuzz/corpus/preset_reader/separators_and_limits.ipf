==I1Type==3==
I1seedNumber=-2147483649
erosionType=99999999999999
I1NoiseImageFile=none
C1NoiseImageFile=
I2NoiseImageFile=pic ture.jpg
I1GaborAnisotropic=7
