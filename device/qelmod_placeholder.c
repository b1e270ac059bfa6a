/* The device library's exports arrive with its drivers and configuration layer. */
