lorvex_test(tst_moleartwork LIBS lorvex_artwork lorvex_mole_core lorvex_text lorvex_picture)
# Checks the committed body-mole pictures and palm charts as well.
target_compile_definitions(tst_moleartwork PRIVATE
    LORVEX_PICTURES_DIR="${PROJECT_SOURCE_DIR}/assets/pictures")
