// Fine on its own.
