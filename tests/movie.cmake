# The SWF player: the core on small movies of our own writer, and the widget.
lorvex_test(tst_swf LIBS lorvex_movie lorvex_swfwriter)
