[Playlist]
File1=ht//127.0.0.1%0A:808�0/吻.mp3
Ti1=吻
Length1=-1
[other]
File2=/no
