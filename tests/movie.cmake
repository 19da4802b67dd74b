# The SWF player: the core on small movies of our own writer, and the widget.
lorvex_test(tst_swf LIBS lorvex_movie lorvex_swfwriter)
lorvex_test(tst_swfplayer LIBS lorvex_movie_widgets lorvex_swfwriter)
