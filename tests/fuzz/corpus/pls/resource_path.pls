[Playlist]
File1=://127.0.0.1:8080/吻.mp3
Title
1=吻
Length1=-1../
[other]
=F周ile2=/no
../