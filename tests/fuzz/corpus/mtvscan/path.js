// 视频服务器列表
s1="http://127.0.0.1:18794/video/";
s2 ="http://127.0.0.1:18794/video/";
s6="file:///etc/";
var note="维护中"
