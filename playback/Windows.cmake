# The transport control and the port choice, on the playback engine.
tunewell_area(tunewell_transport
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MidiPorts.cpp ${CMAKE_CURRENT_LIST_DIR}/MidiPorts.h
    ${CMAKE_CURRENT_LIST_DIR}/Player.cpp ${CMAKE_CURRENT_LIST_DIR}/Player.h
  DEPS tunewell_controls
  ALLOWED controls platform/ui platform/midi smf song)
