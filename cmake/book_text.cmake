# Writes KORVANE_BOOK_SOURCE, a C++ source that holds the text of KORVANE_BOOK as Korvane
# Pro's built-in book. The build includes it; the fuzzer's script runs it:
#   cmake -DKORVANE_BOOK=... -DKORVANE_BOOK_SOURCE=... -P cmake/book_text.cmake
file(READ ${KORVANE_BOOK} KORVANE_BOOK_TEXT)
configure_file(${CMAKE_CURRENT_LIST_DIR}/../src/engine/search/pro/book_text.cpp.in
               ${KORVANE_BOOK_SOURCE} @ONLY)
