# The folders of src/, lowest first. A folder may include from and link against the
# folders before it in this list, and no others. The build makes one static library of
# each folder that links only those (src/CMakeLists.txt), and the test layering.includes
# (tests/layering/check_layers.cmake) reads this list to check the include lines.
# README.md's Layout section states the same order.
set(QELSHOT_LAYERS platform common widgets library edit capture update app)

# The one folder whose files may include X11 and XCB headers.
set(QELSHOT_X11_LAYER platform)
