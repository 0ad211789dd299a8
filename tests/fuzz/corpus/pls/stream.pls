[Playlist]
File1=http://127.0.0.1:8080/吻.mp3
Title1=吻
Length1=-1
[other]
File2=/no
