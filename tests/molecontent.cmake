# The face and body mole items: texts and built-in pictures.
lorvex_test(tst_molecontent LIBS lorvex_mole_core lorvex_picture lorvex_text)

# The face-mole drawing, and that the committed pictures are the ones it draws.
if(LORVEX_BUILD_TOOLS)
    lorvex_test(tst_moleface LIBS lorvex_artwork lorvex_picture)
    target_compile_definitions(tst_moleface PRIVATE
        LORVEX_ARTWORK_DIR="${PROJECT_SOURCE_DIR}/tools/artwork"
        LORVEX_ASSETS_DIR="${PROJECT_SOURCE_DIR}/assets")
endif()
