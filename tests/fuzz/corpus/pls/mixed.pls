[playlist]
File2=/b.mp3
Title2=s - t
Length2=300
file1=a.ogg
FILE3=ftp://h/x
Title4=only
File+5=/k
NumberOfEntries=3
Version=2
