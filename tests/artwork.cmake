lorvex_test(tst_artwork LIBS lorvex_artwork lorvex_picture)
# Checks the committed palm descriptions as well.
target_compile_definitions(tst_artwork PRIVATE
    LORVEX_ARTWORK_DIR="${PROJECT_SOURCE_DIR}/tools/artwork")
# The Traditional twins of the pictures with words, against the committed ones.
lorvex_test(tst_hantartwork LIBS lorvex_artwork lorvex_picture lorvex_hant_dictionaries)
target_compile_definitions(tst_hantartwork PRIVATE
    LORVEX_ARTWORK_DIR="${PROJECT_SOURCE_DIR}/tools/artwork")
