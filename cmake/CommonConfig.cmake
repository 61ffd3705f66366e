# Settings every target of the project shares.
add_library(postrix_common INTERFACE)
target_compile_features(postrix_common INTERFACE cxx_std_20)
target_compile_options(postrix_common INTERFACE -Wall -Wextra -pedantic)
target_compile_definitions(postrix_common INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CONTEXTLESS_CONNECT)
