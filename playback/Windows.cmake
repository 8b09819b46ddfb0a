# The playback windows, built into tunewell_windows.
target_sources(tunewell_windows PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/MidiPorts.cpp ${CMAKE_CURRENT_LIST_DIR}/MidiPorts.h
  ${CMAKE_CURRENT_LIST_DIR}/Player.cpp ${CMAKE_CURRENT_LIST_DIR}/Player.h
)
