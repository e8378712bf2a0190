// The compiled-in artwork and form files live in this library's resource objects.
